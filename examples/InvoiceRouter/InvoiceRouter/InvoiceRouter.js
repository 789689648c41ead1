// InvoiceRouter: sends each incoming invoice along the outgoing connections whose
// "Invoice class" matches its amount. Invoices up to the element's "Amount limit" are small,
// the others are large. The amount comes with the job as its private data "Amount", set by the
// element that read the invoice. The class travels on as the private data "InvoiceClass", and
// the flow counts the invoices of each class in its global data.

// Is invoked each time a new job arrives in one of the input folders for the flow element.
// The newly arrived job is passed as the second parameter.
function jobArrived( s : Tavrix, job : Job )
{
    var amount : Number = parseFloat( job.getPrivateData( "Amount" ) );
    if ( isNaN( amount ) )
    {
        job.fail( "Invoice %1 carries no amount in its private data 'Amount'", [ job.getName() ] );
        return;
    }
    var limit : Number = parseFloat( s.getPropertyValue( "AmountLimit", job ) );
    var invoiceClass : String = amount > limit ? "Large" : "Small";
    job.setPrivateData( "InvoiceClass", invoiceClass );

    var connections = s.getOutConnections();
    var sent : Number = 0;
    for ( var i : Number = 0; i < connections.length; i++ )
    {
        if ( connections[i].getPropertyValue( "InvoiceClass", job ) == invoiceClass )
        {
            job.sendTo( connections[i] );
            sent++;
        }
    }
    if ( sent == 0 )
    {
        job.fail( "No outgoing connection takes %1 invoices", [ invoiceClass.toLowerCase() ] );
        return;
    }
    var count : Number = Number( s.getGlobalData( "Invoices", invoiceClass ) ) + 1;
    s.setGlobalData( "Invoices", invoiceClass, String( count ) );
    if ( s.getPropertyValue( "LogRouting", job ) == "Yes" )
    {
        job.log( 1, describeRouting( s, job, amount, invoiceClass ) );
    }
}

// Is invoked at regular intervals regardless of whether a new job arrived or not.
// The interval can be modified with s.setTimerInterval().
function timerFired( s : Tavrix )
{
    // Invoices are handled as they arrive; the timer only tells when some wait too long. A long
    // interval keeps the element quiet between jobs.
    var waiting = s.getJobs();
    if ( waiting.length > 0 )
    {
        s.log( 2, "%1 invoices wait to be routed", [ waiting.length ] );
    }
    if ( s.getTimerInterval() < 3600 )
    {
        s.setTimerInterval( 3600 );
    }
}

function describeRouting( s : Tavrix, job : Job, amount : Number, invoiceClass : String ) : String
{
    return s.getPropertyValue( "LogPrefix", job ) + " " + job.getName() + ": "
        + amount.toFixed( 2 ) + " " + s.getPropertyValue( "Currency", job )
        + " routed as " + invoiceClass.toLowerCase();
}
